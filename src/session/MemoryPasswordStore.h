// A password store held in memory, for tests and for runs that must not touch the desktop's.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "session/PasswordStore.h"

#include <QHash>

#include <memory>

namespace qv {

// Answers like the desktop's store, one event-loop turn after each call, from a table in memory.
// While reachable is false every call answers Unreachable and the table is left alone. Answers
// still due when the store is destroyed are dropped.
class MemoryPasswordStore : public PasswordStore {
public:
    bool reachable = true;
    QHash<QString, QString> passwords; // account to password
    int calls = 0;                     // calls made, answered or not

    void read(const QString& account, Reply reply) override;
    void write(const QString& account, const QString& password, Reply reply) override;
    void remove(const QString& account, Reply reply) override;

private:
    void answerLater(std::function<Answer()> work, Reply reply);

    std::shared_ptr<char> m_alive = std::make_shared<char>();
};

} // namespace qv
