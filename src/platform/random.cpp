#include "platform/random.h"

CRandom& ProgramRandom() {
    static CRandom generator;
    return generator;
}
