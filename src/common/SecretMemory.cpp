// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/SecretMemory.h"

#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace qv {

void keepSecretsOutOfCrashFiles() {
#ifdef __linux__
    prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
#endif
}

bool secretsKeptOutOfCrashFiles() {
#ifdef __linux__
    return prctl(PR_GET_DUMPABLE, 0, 0, 0, 0) == 0;
#else
    return false;
#endif
}

} // namespace qv
