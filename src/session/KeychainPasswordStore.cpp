// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/KeychainPasswordStore.h"

#include <qt6keychain/keychain.h>

namespace qv {

namespace {

const QString kService = QStringLiteral("Quorvel");

PasswordStore::Answer answerOf(const QKeychain::Job& job, QString password = {}) {
    switch (job.error()) {
    case QKeychain::NoError:
        return {PasswordStore::Outcome::Done, std::move(password), {}};
    case QKeychain::EntryNotFound:
        return {PasswordStore::Outcome::NotFound, {}, {}};
    default: // no store, a locked or refused one, a broken connection: all mean "not here"
        return {PasswordStore::Outcome::Unreachable, {}, job.errorString()};
    }
}

// Starts the job; it deletes itself once its finished signal has been handled.
void run(QKeychain::Job* job, const QString& account,
         const std::function<void(QKeychain::Job&)>& finished) {
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    job->setKey(account);
    QObject::connect(job, &QKeychain::Job::finished, job,
                     [finished](QKeychain::Job* done) { finished(*done); });
    job->start();
}

} // namespace

void KeychainPasswordStore::read(const QString& account, Reply reply) {
    auto* job = new QKeychain::ReadPasswordJob(kService);
    run(job, account,
        [reply, job](QKeychain::Job& done) { reply(answerOf(done, job->textData())); });
}

void KeychainPasswordStore::write(const QString& account, const QString& password, Reply reply) {
    auto* job = new QKeychain::WritePasswordJob(kService);
    job->setTextData(password);
    run(job, account, [reply](QKeychain::Job& done) { reply(answerOf(done)); });
}

void KeychainPasswordStore::remove(const QString& account, Reply reply) {
    auto* job = new QKeychain::DeletePasswordJob(kService);
    run(job, account, [reply](QKeychain::Job& done) { reply(answerOf(done)); });
}

} // namespace qv
