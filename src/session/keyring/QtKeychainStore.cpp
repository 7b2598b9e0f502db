// The desktop's secret store through QtKeychain, built as a module of its own: QtKeychain brings
// QtDBus, libdbus and libsystemd along, which only the programs' use of the keyring needs, so they
// are loaded at that moment and not at every start (KeychainPasswordStore opens the module).
// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/PasswordStore.h"

#include <QtGlobal>
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

// Keeps passwords under the service name "Quorvel"; each call runs one QtKeychain job and
// answers when it finishes. Never falls back to a file of its own.
class QtKeychainStore : public PasswordStore {
public:
    void read(const QString& account, Reply reply) override {
        auto* job = new QKeychain::ReadPasswordJob(kService);
        run(job, account,
            [reply, job](QKeychain::Job& done) { reply(answerOf(done, job->textData())); });
    }
    void write(const QString& account, const QString& password, Reply reply) override {
        auto* job = new QKeychain::WritePasswordJob(kService);
        job->setTextData(password);
        run(job, account, [reply](QKeychain::Job& done) { reply(answerOf(done)); });
    }
    void remove(const QString& account, Reply reply) override {
        auto* job = new QKeychain::DeletePasswordJob(kService);
        run(job, account, [reply](QKeychain::Job& done) { reply(answerOf(done)); });
    }
};

} // namespace

} // namespace qv

// The one entry of the module: a new store, owned by the caller.
extern "C" Q_DECL_EXPORT qv::PasswordStore* quorvel_keyring_store() {
    return new qv::QtKeychainStore;
}
