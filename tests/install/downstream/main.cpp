#include <iostream>

#include <korvane/Korvane.h>

int main() {
    try {
        Korvane::String text(static_cast<const char*>(nullptr));
    } catch (const Korvane::Exception& e) {
        std::cout << "downstream: " << e.getErrorText(e.getErrNo(0), e.getLib(0)) << '\n';
        return 0;
    }
    return 1;
}
