// Where secrets are kept outside the settings file: the desktop's secret store, or a stand-in.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

namespace qv {

// A store of passwords, one per account name, reached without blocking: every call returns at
// once and answers exactly once, later, through the calling thread's event loop (never from
// inside the call).
class PasswordStore {
public:
    enum class Outcome {
        Done,        // stored, read or removed
        NotFound,    // no password is kept for the account
        Unreachable, // no store answered (none runs, it is locked, access was refused)
    };
    struct Answer {
        Outcome outcome = Outcome::Unreachable;
        QString password; // what read() found
        QString reason;   // the store's own words when it was unreachable
    };
    using Reply = std::function<void(const Answer&)>;

    virtual ~PasswordStore() = default;

    virtual void read(const QString& account, Reply reply) = 0;
    virtual void write(const QString& account, const QString& password, Reply reply) = 0;
    // Removing a password that is not there answers NotFound.
    virtual void remove(const QString& account, Reply reply) = 0;
};

} // namespace qv
