#include "bignum/MultiplyKernel.h"

#include "bignum/WordArithmetic.h"

#if defined(__x86_64__) && defined(__GNUC__) && !defined(KORVANE_PORTABLE_WORDS)
#include <cpuid.h>
#define KORVANE_CARRY_CHAIN_KERNEL 1
#endif

namespace Korvane {
namespace internal {

namespace {

// ---- Rows: r += a * b and r -= a * b over n words ----------------------------

struct PortableRows {
    static bool productOfEights(Word*, const Word*, const Word*) { return false; }

    static Word add(Word* r, const Word* a, std::size_t n, Word b) {
        Word carry = 0;
        for (std::size_t i = 0; i < n; ++i) r[i] = multiplyAdd(a[i], b, r[i], carry, carry);
        return carry;
    }

    static Word subtract(Word* r, const Word* a, std::size_t n, Word b) {
        Word borrow = 0;
        for (std::size_t i = 0; i < n; ++i) {
            Word high, out;
            const Word low = multiplyAdd(a[i], b, borrow, 0, high);
            r[i] = subtractBorrow(r[i], low, 0, out);
            borrow = high + out;
        }
        return borrow;
    }
};

#ifdef KORVANE_CARRY_CHAIN_KERNEL
// r += a * b with the low halves of the products summed on the carry flag
// (adcx) and the high halves on the overflow flag (adox), so the two chains
// do not wait for each other. The loops count with lea and test with jrcxz,
// which leave both flags alone. Four words per turn after n mod 4 single ones.
inline __attribute__((always_inline)) Word addMultiplyCarryChains(Word* r, const Word* a, std::size_t n, Word b) {
    Word carry = 0;
    Word low;
    Word high;
    Word low2;
    std::size_t counter;
    const std::size_t singles = n & 3;
    const std::size_t quads = n >> 2;
    __asm__ volatile(
        "xorl %k[low], %k[low]\n\t"
        "movq %[singles], %%rcx\n\t"
        ".p2align 5\n\t"
        "1:\n\t"
        "jrcxz 2f\n\t"
        "mulxq (%[a]), %[low], %[high]\n\t"
        "adcxq (%[r]), %[low]\n\t"
        "adoxq %[carry], %[low]\n\t"
        "movq %[low], (%[r])\n\t"
        "movq %[high], %[carry]\n\t"
        "leaq 8(%[a]), %[a]\n\t"
        "leaq 8(%[r]), %[r]\n\t"
        "leaq -1(%%rcx), %%rcx\n\t"
        "jmp 1b\n\t"
        "2:\n\t"
        "movq %[quads], %%rcx\n\t"
        ".p2align 5\n\t"
        "3:\n\t"
        "jrcxz 4f\n\t"
        "mulxq (%[a]), %[low], %[high]\n\t"
        "adcxq (%[r]), %[low]\n\t"
        "adoxq %[carry], %[low]\n\t"
        "movq %[low], (%[r])\n\t"
        "mulxq 8(%[a]), %[low2], %[carry]\n\t"
        "adcxq 8(%[r]), %[low2]\n\t"
        "adoxq %[high], %[low2]\n\t"
        "movq %[low2], 8(%[r])\n\t"
        "mulxq 16(%[a]), %[low], %[high]\n\t"
        "adcxq 16(%[r]), %[low]\n\t"
        "adoxq %[carry], %[low]\n\t"
        "movq %[low], 16(%[r])\n\t"
        "mulxq 24(%[a]), %[low2], %[carry]\n\t"
        "adcxq 24(%[r]), %[low2]\n\t"
        "adoxq %[high], %[low2]\n\t"
        "movq %[low2], 24(%[r])\n\t"
        "leaq 32(%[a]), %[a]\n\t"
        "leaq 32(%[r]), %[r]\n\t"
        "leaq -1(%%rcx), %%rcx\n\t"
        "jmp 3b\n\t"
        "4:\n\t"
        "movl $0, %k[low]\n\t"
        "adcxq %[low], %[carry]\n\t"
        "adoxq %[low], %[carry]\n\t"
        : [carry] "+&r"(carry), [low] "=&r"(low), [high] "=&r"(high), [low2] "=&r"(low2),
          [a] "+&r"(a), [r] "+&r"(r), "=&c"(counter)
        : [singles] "r"(singles), [quads] "r"(quads), "d"(b)
        : "cc", "memory");
    return carry;
}

// r -= a * b. The product words t are formed on the overflow flag (adox of
// each low half with the previous high half) and subtracted on the carry
// flag as r + ~t + 1 (adcx after not, with the carry preset), so again the
// two chains run side by side. The carry flag ends up set when no borrow
// left the top.
inline __attribute__((always_inline)) Word subtractMultiplyCarryChains(Word* r, const Word* a,
                                                                         std::size_t n, Word b) {
    Word carry = 0;
    Word low;
    Word high;
    Word low2;
    std::size_t counter;
    const std::size_t singles = n & 3;
    const std::size_t quads = n >> 2;
    __asm__ volatile(
        "xorl %k[low], %k[low]\n\t"
        "stc\n\t"
        "movq %[singles], %%rcx\n\t"
        ".p2align 5\n\t"
        "1:\n\t"
        "jrcxz 2f\n\t"
        "mulxq (%[a]), %[low], %[high]\n\t"
        "adoxq %[carry], %[low]\n\t"
        "notq %[low]\n\t"
        "adcxq (%[r]), %[low]\n\t"
        "movq %[low], (%[r])\n\t"
        "movq %[high], %[carry]\n\t"
        "leaq 8(%[a]), %[a]\n\t"
        "leaq 8(%[r]), %[r]\n\t"
        "leaq -1(%%rcx), %%rcx\n\t"
        "jmp 1b\n\t"
        "2:\n\t"
        "movq %[quads], %%rcx\n\t"
        ".p2align 5\n\t"
        "3:\n\t"
        "jrcxz 4f\n\t"
        "mulxq (%[a]), %[low], %[high]\n\t"
        "adoxq %[carry], %[low]\n\t"
        "notq %[low]\n\t"
        "adcxq (%[r]), %[low]\n\t"
        "movq %[low], (%[r])\n\t"
        "mulxq 8(%[a]), %[low2], %[carry]\n\t"
        "adoxq %[high], %[low2]\n\t"
        "notq %[low2]\n\t"
        "adcxq 8(%[r]), %[low2]\n\t"
        "movq %[low2], 8(%[r])\n\t"
        "mulxq 16(%[a]), %[low], %[high]\n\t"
        "adoxq %[carry], %[low]\n\t"
        "notq %[low]\n\t"
        "adcxq 16(%[r]), %[low]\n\t"
        "movq %[low], 16(%[r])\n\t"
        "mulxq 24(%[a]), %[low2], %[carry]\n\t"
        "adoxq %[high], %[low2]\n\t"
        "notq %[low2]\n\t"
        "adcxq 24(%[r]), %[low2]\n\t"
        "movq %[low2], 24(%[r])\n\t"
        "leaq 32(%[a]), %[a]\n\t"
        "leaq 32(%[r]), %[r]\n\t"
        "leaq -1(%%rcx), %%rcx\n\t"
        "jmp 3b\n\t"
        "4:\n\t"
        "movl $0, %k[low]\n\t"
        "movl $0, %k[high]\n\t"
        "adoxq %[low], %[carry]\n\t"
        "adcxq %[high], %[high]\n\t"
        : [carry] "+&r"(carry), [low] "=&r"(low), [high] "=&r"(high), [low2] "=&r"(low2),
          [a] "+&r"(a), [r] "+&r"(r), "=&c"(counter)
        : [singles] "r"(singles), [quads] "r"(quads), "d"(b)
        : "cc", "memory");
    // `high` holds the final carry flag: 1 means nothing was borrowed.
    return carry + 1 - high;
}

// r[0 .. 16) = a * b for 8-word operands, the running row kept in eight
// registers rather than in r: one word leaves per row of b, and the two
// carry chains add the low and high product halves as in the rows above. The
// words of b are first parked in r[8 .. 16), which the rows do not write
// until the end, so that the loop needs no register for b.
inline void productOfEightsCarryChains(Word* r, const Word* a, const Word* b) {
    for (int j = 0; j < 8; ++j) r[8 + j] = b[j];
    Word t0, t1, t2, t3, t4, t5, t6, t7, lo, hi;
    __asm__ volatile(
        "movq 64(%[r]), %%rdx\n\t"
        "mulxq (%[a]), %[t0], %[t1]\n\t"
        "movq %[t0], (%[r])\n\t"
        "mulxq 8(%[a]), %[lo], %[t2]\n\t"
        "addq %[lo], %[t1]\n\t"
        "mulxq 16(%[a]), %[lo], %[t3]\n\t"
        "adcq %[lo], %[t2]\n\t"
        "mulxq 24(%[a]), %[lo], %[t4]\n\t"
        "adcq %[lo], %[t3]\n\t"
        "mulxq 32(%[a]), %[lo], %[t5]\n\t"
        "adcq %[lo], %[t4]\n\t"
        "mulxq 40(%[a]), %[lo], %[t6]\n\t"
        "adcq %[lo], %[t5]\n\t"
        "mulxq 48(%[a]), %[lo], %[t7]\n\t"
        "adcq %[lo], %[t6]\n\t"
        "mulxq 56(%[a]), %[lo], %[t0]\n\t"
        "adcq %[lo], %[t7]\n\t"
        "adcq $0, %[t0]\n\t"
        "movq 72(%[r]), %%rdx\n\t"
        "xorl %k[lo], %k[lo]\n\t"
        "mulxq 0(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t1]\n\t"
        "movq %[t1], 8(%[r])\n\t"
        "movl $0, %k[t1]\n\t"
        "adoxq %[hi], %[t2]\n\t"
        "mulxq 8(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t2]\n\t"
        "adoxq %[hi], %[t3]\n\t"
        "mulxq 16(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t3]\n\t"
        "adoxq %[hi], %[t4]\n\t"
        "mulxq 24(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t4]\n\t"
        "adoxq %[hi], %[t5]\n\t"
        "mulxq 32(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t5]\n\t"
        "adoxq %[hi], %[t6]\n\t"
        "mulxq 40(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t6]\n\t"
        "adoxq %[hi], %[t7]\n\t"
        "mulxq 48(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t7]\n\t"
        "adoxq %[hi], %[t0]\n\t"
        "mulxq 56(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t0]\n\t"
        "adoxq %[hi], %[t1]\n\t"
        "movl $0, %k[lo]\n\t"
        "adcxq %[lo], %[t1]\n\t"
        "movq 80(%[r]), %%rdx\n\t"
        "xorl %k[lo], %k[lo]\n\t"
        "mulxq 0(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t2]\n\t"
        "movq %[t2], 16(%[r])\n\t"
        "movl $0, %k[t2]\n\t"
        "adoxq %[hi], %[t3]\n\t"
        "mulxq 8(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t3]\n\t"
        "adoxq %[hi], %[t4]\n\t"
        "mulxq 16(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t4]\n\t"
        "adoxq %[hi], %[t5]\n\t"
        "mulxq 24(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t5]\n\t"
        "adoxq %[hi], %[t6]\n\t"
        "mulxq 32(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t6]\n\t"
        "adoxq %[hi], %[t7]\n\t"
        "mulxq 40(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t7]\n\t"
        "adoxq %[hi], %[t0]\n\t"
        "mulxq 48(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t0]\n\t"
        "adoxq %[hi], %[t1]\n\t"
        "mulxq 56(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t1]\n\t"
        "adoxq %[hi], %[t2]\n\t"
        "movl $0, %k[lo]\n\t"
        "adcxq %[lo], %[t2]\n\t"
        "movq 88(%[r]), %%rdx\n\t"
        "xorl %k[lo], %k[lo]\n\t"
        "mulxq 0(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t3]\n\t"
        "movq %[t3], 24(%[r])\n\t"
        "movl $0, %k[t3]\n\t"
        "adoxq %[hi], %[t4]\n\t"
        "mulxq 8(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t4]\n\t"
        "adoxq %[hi], %[t5]\n\t"
        "mulxq 16(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t5]\n\t"
        "adoxq %[hi], %[t6]\n\t"
        "mulxq 24(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t6]\n\t"
        "adoxq %[hi], %[t7]\n\t"
        "mulxq 32(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t7]\n\t"
        "adoxq %[hi], %[t0]\n\t"
        "mulxq 40(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t0]\n\t"
        "adoxq %[hi], %[t1]\n\t"
        "mulxq 48(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t1]\n\t"
        "adoxq %[hi], %[t2]\n\t"
        "mulxq 56(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t2]\n\t"
        "adoxq %[hi], %[t3]\n\t"
        "movl $0, %k[lo]\n\t"
        "adcxq %[lo], %[t3]\n\t"
        "movq 96(%[r]), %%rdx\n\t"
        "xorl %k[lo], %k[lo]\n\t"
        "mulxq 0(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t4]\n\t"
        "movq %[t4], 32(%[r])\n\t"
        "movl $0, %k[t4]\n\t"
        "adoxq %[hi], %[t5]\n\t"
        "mulxq 8(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t5]\n\t"
        "adoxq %[hi], %[t6]\n\t"
        "mulxq 16(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t6]\n\t"
        "adoxq %[hi], %[t7]\n\t"
        "mulxq 24(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t7]\n\t"
        "adoxq %[hi], %[t0]\n\t"
        "mulxq 32(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t0]\n\t"
        "adoxq %[hi], %[t1]\n\t"
        "mulxq 40(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t1]\n\t"
        "adoxq %[hi], %[t2]\n\t"
        "mulxq 48(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t2]\n\t"
        "adoxq %[hi], %[t3]\n\t"
        "mulxq 56(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t3]\n\t"
        "adoxq %[hi], %[t4]\n\t"
        "movl $0, %k[lo]\n\t"
        "adcxq %[lo], %[t4]\n\t"
        "movq 104(%[r]), %%rdx\n\t"
        "xorl %k[lo], %k[lo]\n\t"
        "mulxq 0(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t5]\n\t"
        "movq %[t5], 40(%[r])\n\t"
        "movl $0, %k[t5]\n\t"
        "adoxq %[hi], %[t6]\n\t"
        "mulxq 8(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t6]\n\t"
        "adoxq %[hi], %[t7]\n\t"
        "mulxq 16(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t7]\n\t"
        "adoxq %[hi], %[t0]\n\t"
        "mulxq 24(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t0]\n\t"
        "adoxq %[hi], %[t1]\n\t"
        "mulxq 32(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t1]\n\t"
        "adoxq %[hi], %[t2]\n\t"
        "mulxq 40(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t2]\n\t"
        "adoxq %[hi], %[t3]\n\t"
        "mulxq 48(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t3]\n\t"
        "adoxq %[hi], %[t4]\n\t"
        "mulxq 56(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t4]\n\t"
        "adoxq %[hi], %[t5]\n\t"
        "movl $0, %k[lo]\n\t"
        "adcxq %[lo], %[t5]\n\t"
        "movq 112(%[r]), %%rdx\n\t"
        "xorl %k[lo], %k[lo]\n\t"
        "mulxq 0(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t6]\n\t"
        "movq %[t6], 48(%[r])\n\t"
        "movl $0, %k[t6]\n\t"
        "adoxq %[hi], %[t7]\n\t"
        "mulxq 8(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t7]\n\t"
        "adoxq %[hi], %[t0]\n\t"
        "mulxq 16(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t0]\n\t"
        "adoxq %[hi], %[t1]\n\t"
        "mulxq 24(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t1]\n\t"
        "adoxq %[hi], %[t2]\n\t"
        "mulxq 32(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t2]\n\t"
        "adoxq %[hi], %[t3]\n\t"
        "mulxq 40(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t3]\n\t"
        "adoxq %[hi], %[t4]\n\t"
        "mulxq 48(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t4]\n\t"
        "adoxq %[hi], %[t5]\n\t"
        "mulxq 56(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t5]\n\t"
        "adoxq %[hi], %[t6]\n\t"
        "movl $0, %k[lo]\n\t"
        "adcxq %[lo], %[t6]\n\t"
        "movq 120(%[r]), %%rdx\n\t"
        "xorl %k[lo], %k[lo]\n\t"
        "mulxq 0(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t7]\n\t"
        "movq %[t7], 56(%[r])\n\t"
        "movl $0, %k[t7]\n\t"
        "adoxq %[hi], %[t0]\n\t"
        "mulxq 8(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t0]\n\t"
        "adoxq %[hi], %[t1]\n\t"
        "mulxq 16(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t1]\n\t"
        "adoxq %[hi], %[t2]\n\t"
        "mulxq 24(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t2]\n\t"
        "adoxq %[hi], %[t3]\n\t"
        "mulxq 32(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t3]\n\t"
        "adoxq %[hi], %[t4]\n\t"
        "mulxq 40(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t4]\n\t"
        "adoxq %[hi], %[t5]\n\t"
        "mulxq 48(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t5]\n\t"
        "adoxq %[hi], %[t6]\n\t"
        "mulxq 56(%[a]), %[lo], %[hi]\n\t"
        "adcxq %[lo], %[t6]\n\t"
        "adoxq %[hi], %[t7]\n\t"
        "movl $0, %k[lo]\n\t"
        "adcxq %[lo], %[t7]\n\t"
        "movq %[t0], 64(%[r])\n\t"
        "movq %[t1], 72(%[r])\n\t"
        "movq %[t2], 80(%[r])\n\t"
        "movq %[t3], 88(%[r])\n\t"
        "movq %[t4], 96(%[r])\n\t"
        "movq %[t5], 104(%[r])\n\t"
        "movq %[t6], 112(%[r])\n\t"
        "movq %[t7], 120(%[r])\n\t"

        : [t0] "=&r"(t0), [t1] "=&r"(t1), [t2] "=&r"(t2), [t3] "=&r"(t3), [t4] "=&r"(t4), [t5] "=&r"(t5),
          [t6] "=&r"(t6), [t7] "=&r"(t7), [lo] "=&r"(lo), [hi] "=&r"(hi)
        : [a] "r"(a), [r] "r"(r)
        : "rdx", "cc", "memory");
}

struct CarryChainRows {
    static bool productOfEights(Word* r, const Word* a, const Word* b) {
        productOfEightsCarryChains(r, a, b);
        return true;
    }
    static Word add(Word* r, const Word* a, std::size_t n, Word b) { return addMultiplyCarryChains(r, a, n, b); }
    static Word subtract(Word* r, const Word* a, std::size_t n, Word b) {
        return subtractMultiplyCarryChains(r, a, n, b);
    }
};

bool processorHasCarryChains() {
    unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx) == 0) return false;
    const unsigned int bmi2 = 1u << 8;
    const unsigned int adx = 1u << 19;
    return (ebx & bmi2) != 0 && (ebx & adx) != 0;
}
#else
bool processorHasCarryChains() { return false; }
#endif

// ---- Loops of rows -------------------------------------------------------------
// Written once over the row type, so each kernel runs its rows inline without
// a call per row.

template <class Rows>
Word addMultiplyWith(Word* r, const Word* a, std::size_t n, Word b) {
    return Rows::add(r, a, n, b);
}

template <class Rows>
Word subtractMultiplyWith(Word* r, const Word* a, std::size_t n, Word b) {
    return Rows::subtract(r, a, n, b);
}

template <class Rows>
void multiplyBasecaseWith(Word* r, const Word* a, std::size_t an, const Word* b, std::size_t bn) {
    if (an == 8 && bn == 8 && Rows::productOfEights(r, a, b)) return;
    r[an] = multiplyWord(r, a, an, b[0]);
    for (std::size_t j = 1; j < bn; ++j) r[an + j] = Rows::add(r + j, a, an, b[j]);
}

// Each cross product a[i] a[j] (i < j) once, then doubled, then the squares
// a[i]^2 added on the diagonal: about half the work of a general product.
template <class Rows>
void squareBasecaseWith(Word* r, const Word* a, std::size_t n) {
    if (n == 1) {
        r[0] = multiplyWide(a[0], a[0], r[1]);
        return;
    }
    r[0] = 0;
    r[n] = multiplyWord(r + 1, a + 1, n - 1, a[0]);
    for (std::size_t i = 1; i + 1 < n; ++i) r[n + i] = Rows::add(r + 2 * i + 1, a + i + 1, n - 1 - i, a[i]);
    r[2 * n - 1] = shiftLeftWords(r + 1, r + 1, 2 * n - 2, 1);
    Word carry = 0;
    for (std::size_t i = 0; i < n; ++i) {
        Word squareHigh;
        const Word squareLow = multiplyWide(a[i], a[i], squareHigh);
        r[2 * i] = addCarry(r[2 * i], squareLow, carry, carry);
        r[2 * i + 1] = addCarry(r[2 * i + 1], squareHigh, carry, carry);
    }
}

// REDC rows: adding q m with q = t[i] inverse mod 2^64 clears word i. The
// carry of each row goes into word i + n; what overflows from there is kept
// in one bit that joins the next row's carry.
template <class Rows>
Word montgomeryRowsWith(Word* t, const Word* m, std::size_t n, Word inverse) {
    Word overflow = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const Word q = t[i] * inverse;
        const Word carry = Rows::add(t + i, m, n, q);
        t[i + n] = addCarry(t[i + n], carry, overflow, overflow);
    }
    return overflow;
}

struct Kernel {
    MultiplyKernel kind;
    Word (*addMultiply)(Word*, const Word*, std::size_t, Word);
    Word (*subtractMultiply)(Word*, const Word*, std::size_t, Word);
    void (*multiplyBasecase)(Word*, const Word*, std::size_t, const Word*, std::size_t);
    void (*squareBasecase)(Word*, const Word*, std::size_t);
    Word (*montgomeryRows)(Word*, const Word*, std::size_t, Word);
};

template <class Rows>
constexpr Kernel kernelOf(MultiplyKernel kind) {
    return Kernel{kind, addMultiplyWith<Rows>, subtractMultiplyWith<Rows>, multiplyBasecaseWith<Rows>,
                  squareBasecaseWith<Rows>, montgomeryRowsWith<Rows>};
}

constexpr Kernel kPortableKernel = kernelOf<PortableRows>(MultiplyKernel::Portable);
#ifdef KORVANE_CARRY_CHAIN_KERNEL
constexpr Kernel kCarryChainKernel = kernelOf<CarryChainRows>(MultiplyKernel::CarryChains);
#endif

// Constant-initialised to the portable loops, so a call made before the
// dynamic initialisers of this file have run is still correct.
const Kernel* active = &kPortableKernel;

[[maybe_unused]] const bool kernelChosenAtLoad = selectMultiplyKernel(MultiplyKernel::CarryChains);
}  // namespace

bool multiplyKernelAvailable(MultiplyKernel kernel) {
    return kernel == MultiplyKernel::Portable || processorHasCarryChains();
}

MultiplyKernel activeMultiplyKernel() { return active->kind; }

bool selectMultiplyKernel(MultiplyKernel kernel) {
    if (!multiplyKernelAvailable(kernel)) return false;
    overrideMultiplyKernel(kernel);
    return true;
}

void overrideMultiplyKernel(MultiplyKernel kernel) {
    active = &kPortableKernel;
#ifdef KORVANE_CARRY_CHAIN_KERNEL
    if (kernel == MultiplyKernel::CarryChains) active = &kCarryChainKernel;
#else
    (void)kernel;
#endif
}

Word addMultiplyWord(Word* r, const Word* a, std::size_t n, Word b) { return active->addMultiply(r, a, n, b); }

Word subtractMultiplyWord(Word* r, const Word* a, std::size_t n, Word b) {
    return active->subtractMultiply(r, a, n, b);
}

void multiplyBasecase(Word* r, const Word* a, std::size_t an, const Word* b, std::size_t bn) {
    active->multiplyBasecase(r, a, an, b, bn);
}

void squareBasecase(Word* r, const Word* a, std::size_t n) { active->squareBasecase(r, a, n); }

Word montgomeryRows(Word* t, const Word* m, std::size_t n, Word inverse) {
    return active->montgomeryRows(t, m, n, inverse);
}

}  // namespace internal
}  // namespace Korvane
