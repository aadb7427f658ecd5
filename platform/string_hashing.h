#pragma once
// Qt 6.4 hashes strings with 256-bit AES instructions where the processor
// has them and returns without clearing the upper halves of the vector
// registers.  From then on every switch between the SSE code we are
// compiled to and the AVX code of libm stalls: sin() and exp() become some
// twenty times slower, and with them plotting, fits and every curve.
// Hashes with a zero seed take Qt's plain string hash instead.  Call this
// first thing in main(), before any QHash with string keys exists: a hash
// keeps the seed it was made with.
#include <QHashFunctions>

inline void UsePlainStringHashing() {
    QHashSeed::setDeterministicGlobalSeed();
}
