// The desktop's secret store (GNOME Keyring, KWallet, any Secret Service) through QtKeychain.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "session/PasswordStore.h"

namespace qv {

// Keeps passwords under the service name "Quorvel" in the desktop's secret store. Each call runs
// one QtKeychain job and answers when it finishes. Never falls back to a file of its own: a store
// that cannot be reached answers Unreachable and the caller decides. QtKeychain lives in the
// keyring module in modules/ beside the program (session/keyring), opened at the first call; when
// it cannot be opened, every call answers Unreachable with the reason.
class KeychainPasswordStore : public PasswordStore {
public:
    void read(const QString& account, Reply reply) override;
    void write(const QString& account, const QString& password, Reply reply) override;
    void remove(const QString& account, Reply reply) override;
};

} // namespace qv
