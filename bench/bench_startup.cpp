// Start to login dialog, side by side with a minimal Qt Widgets program that
// shows one dialog. Each run is a fresh process; the time is from starting
// the process until it has shown its dialog and ended.
//
//   bench_startup [runs]        the comparison (offscreen unless QT_QPA_PLATFORM is set)
//   bench_startup app <folder>  one start of the program on <folder>, ends at the login
//   bench_startup minimal       one start of the minimal program

#include "shell/application.h"
#include "shell/apppaths.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

int runMinimal(int argc, char **argv)
{
    QApplication app(argc, argv);
    QDialog dialog;
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("操作员密码")));
    layout->addWidget(new QPushButton(QStringLiteral("登陆")));
    QTimer::singleShot(0, &dialog, [] { _exit(0); }); // runs once the dialog is up
    return dialog.exec();
}

int runProgram(int argc, char **argv, const char *folder)
{
    AppPaths::setExeDirForTesting(QString::fromLocal8Bit(folder));
    application::Hooks hooks;
    hooks.loginShown = [](QDialog *) { _exit(0); };
    return application::run(argc, argv, hooks);
}

double timeRun(const QString &self, const QStringList &args)
{
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(self, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        std::fprintf(stderr, "run failed: %s\n", p.readAllStandardError().constData());
        return -1;
    }
    return t.nsecsElapsed() / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "minimal") == 0)
        return runMinimal(argc, argv);
    if (argc >= 3 && std::strcmp(argv[1], "app") == 0)
        return runProgram(argc, argv, argv[2]);

    QCoreApplication core(argc, argv);
    const int runs = argc >= 2 ? std::max(3, std::atoi(argv[1])) : 21;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    qputenv("TMPDIR", dir.path().toLocal8Bit());
    QDir().mkpath(dir.filePath(QStringLiteral("image")));
    QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/../image/001.jpg"),
                dir.filePath(QStringLiteral("image/001.jpg")));
    const QString self = QCoreApplication::applicationFilePath();
    const QStringList app{QStringLiteral("app"), dir.path()};
    const QStringList minimal{QStringLiteral("minimal")};

    // Warm-up: the first start also creates the database.
    timeRun(self, app);
    timeRun(self, minimal);

    std::vector<double> appTimes, minimalTimes;
    for (int i = 0; i < runs; ++i) {
        minimalTimes.push_back(timeRun(self, minimal));
        appTimes.push_back(timeRun(self, app));
    }
    const double a = median(appTimes);
    const double m = median(minimalTimes);
    std::printf("start to login dialog, median of %d runs (platform %s)\n", runs,
                qgetenv("QT_QPA_PLATFORM").constData());
    std::printf("  minimal Qt Widgets dialog: %8.1f ms\n", m);
    std::printf("  vadazored login dialog:    %8.1f ms\n", a);
    std::printf("  ratio:                     %8.2f (target <= 1.50)\n", a / m);
    return 0;
}
