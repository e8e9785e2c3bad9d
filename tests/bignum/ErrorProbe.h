// Checks that calls fail with QuillonException 22 ("Data format invalid") at
// the expected location and with the expected extra text.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "korvane/QuillonException.h"

namespace korvane_test {

struct ErrorProbe {
    const char* location;
    void (*call)();
};

inline void expectDataFormatErrors(std::initializer_list<ErrorProbe> probes, const char* extra) {
    for (const ErrorProbe& p : probes) {
        try {
            p.call();
            ADD_FAILURE() << p.location << " did not throw";
        } catch (const Korvane::QuillonException& e) {
            EXPECT_EQ(e.getErrNo(0), 22);
            EXPECT_EQ(e.getLib(0), Korvane::Exception::LIB_QUILLON);
            EXPECT_STREQ(e.getErrLocation(0).getData(), p.location);
            EXPECT_STREQ(e.getExtraInfo(0).getData(), extra);
        }
    }
}

}  // namespace korvane_test
