// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/MemoryPasswordStore.h"

#include <QCoreApplication>
#include <QTimer>

namespace qv {

void MemoryPasswordStore::answerLater(std::function<Answer()> work, Reply reply) {
    ++calls;
    // The table changes when the answer comes, as a real store's does when its job ends.
    const std::weak_ptr<char> alive = m_alive;
    QTimer::singleShot(0, QCoreApplication::instance(), [this, alive, work, reply] {
        if (alive.expired())
            return;
        reply(reachable ? work() : Answer{Outcome::Unreachable, {}, QStringLiteral("no store")});
    });
}

void MemoryPasswordStore::read(const QString& account, Reply reply) {
    answerLater(
        [this, account] {
            const auto it = passwords.constFind(account);
            return it == passwords.constEnd() ? Answer{Outcome::NotFound, {}, {}}
                                              : Answer{Outcome::Done, *it, {}};
        },
        reply);
}

void MemoryPasswordStore::write(const QString& account, const QString& password, Reply reply) {
    answerLater(
        [this, account, password] {
            passwords.insert(account, password);
            return Answer{Outcome::Done, {}, {}};
        },
        reply);
}

void MemoryPasswordStore::remove(const QString& account, Reply reply) {
    answerLater(
        [this, account] {
            return Answer{passwords.remove(account) ? Outcome::Done : Outcome::NotFound, {}, {}};
        },
        reply);
}

} // namespace qv
