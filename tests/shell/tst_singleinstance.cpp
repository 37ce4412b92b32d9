#include "shell/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

class TestSingleInstance : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    // A copy of the program in a folder of its own, with its own temp folder.
    QProcess *startProgram(const QString &folder)
    {
        auto *p = new QProcess(this);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TMPDIR"), m_dir.filePath(QStringLiteral("tmp")));
        p->setProcessEnvironment(env);
        p->setProgram(folder + QStringLiteral("/vadazored"));
        p->start();
        return p;
    }

private slots:
    void initTestCase()
    {
        QDir().mkpath(m_dir.filePath(QStringLiteral("tmp")));
    }

    void secondLockFails()
    {
        const QString name = QStringLiteral("vadazored-test-") + QString::number(QCoreApplication::applicationPid());
        auto first = std::make_unique<SingleInstance>(name);
        QVERIFY(first->tryAcquire());
        SingleInstance second(name);
        QVERIFY(!second.tryAcquire());
        first.reset();
        QVERIFY(second.tryAcquire());
        QFile::remove(second.lockFilePath());
    }

    // A lock left by a run that crashed does not block the next start.
    void staleLockIsTakenOver()
    {
        const QString name = QStringLiteral("vadazored-stale-") + QString::number(QCoreApplication::applicationPid());
        const pid_t pid = fork();
        if (pid == 0) {
            SingleInstance crashed(name);
            _exit(crashed.tryAcquire() ? 0 : 1); // dies holding the lock, file left behind
        }
        int status = 0;
        waitpid(pid, &status, 0);
        QCOMPARE(WEXITSTATUS(status), 0);
        SingleInstance next(name);
        QVERIFY(QFile::exists(next.lockFilePath()));
        QVERIFY(next.tryAcquire());
        QFile::remove(next.lockFilePath());
    }

    // The real program: a second start ends at once, silently, and the first
    // goes on; after the first is killed, the next start runs.
    void secondCopyOfTheProgramEndsAtOnce()
    {
        const QString folder = m_dir.filePath(QStringLiteral("app"));
        QDir().mkpath(folder);
        QVERIFY(QFile::copy(QStringLiteral(VADAZORED_BIN), folder + QStringLiteral("/vadazored")));

        QProcess *first = startProgram(folder);
        QVERIFY(first->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder + QStringLiteral("/database/database.mdb")), 10000);

        QProcess *second = startProgram(folder);
        QVERIFY(second->waitForFinished(5000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QVERIFY(second->readAllStandardOutput().isEmpty());
        QCOMPARE(first->state(), QProcess::Running);

        first->kill();
        QVERIFY(first->waitForFinished(5000));
        QProcess *third = startProgram(folder);
        QVERIFY(third->waitForStarted());
        QVERIFY(!third->waitForFinished(1500)); // still running: it took the stale lock
        third->kill();
        third->waitForFinished(5000);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
