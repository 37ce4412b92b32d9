// Renders each of the nine receipts (and the three test pages) to a PDF file
// and prints how long each takes: a save at the counter must never wait on
// the layout. Usage: bench_receipts [output folder]
#include "receipts/receiptlayouts.h"
#include "receipts/receiptrenderer.h"
#include "shell/fontfaces.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

using receiptlayouts::Paper;

namespace {

ReceiptValues sampleValues()
{
    ReceiptValues v;
    v.moment = QDateTime(QDate(2024, 3, 9), QTime(14, 5, 30));
    v.cardNumber = QStringLiteral("880012345678");
    v.name = QStringLiteral("王小明");
    v.balanceBefore = QStringLiteral("235.5");
    v.amount = QStringLiteral("37.5");
    v.received = QStringLiteral("30");
    v.balanceAfter = QStringLiteral("198");
    return v;
}

struct Case {
    QString name;
    std::function<ReceiptLayout()> build;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    fontfaces::install();
    QTemporaryDir temp;
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
    QDir().mkpath(outDir);

    const QString shop = QStringLiteral("澄溪软件工作室");
    const QString footer = QStringLiteral("谢谢惠顾，欢迎再次光临！本卡不记名、不挂失，请妥善保管。咨询电话：0571-88886666");
    const ReceiptValues values = sampleValues();
    QList<Case> cases;
    const std::pair<ReceiptKind, QString> kinds[] = {{ReceiptKind::Payment, QStringLiteral("payment")},
                                                     {ReceiptKind::Recharge, QStringLiteral("recharge")},
                                                     {ReceiptKind::NewCard, QStringLiteral("newcard")}};
    const std::pair<Paper, QString> papers[] = {
        {Paper::W58, QStringLiteral("58")}, {Paper::W76, QStringLiteral("76")}, {Paper::W120, QStringLiteral("120")}};
    for (const auto &[kind, kindName] : kinds)
        for (const auto &[paper, paperName] : papers)
            cases.append({kindName + u'-' + paperName, [=] {
                              return receiptlayouts::receipt(kind, paper, values, shop, footer);
                          }});
    for (const auto &[paper, paperName] : papers)
        cases.append({QStringLiteral("test-") + paperName, [=] { return receiptlayouts::testPage(paper, shop); }});

    // The first receipt of a run loads the faces from disk; the rest find
    // them loaded.
    QElapsedTimer cold;
    cold.start();
    (void)ReceiptRenderer::writePdf(cases.front().build(), outDir + QStringLiteral("/warmup.pdf"));
    std::printf("first receipt of the run (faces loading): %.2f ms\n", cold.nsecsElapsed() / 1e6);
    for (const Case &c : cases)
        (void)ReceiptRenderer::writePdf(c.build(), outDir + QStringLiteral("/warmup.pdf"));
    QFile::remove(outDir + QStringLiteral("/warmup.pdf"));

    constexpr int kRuns = 20;
    std::printf("%-14s %10s %10s %10s\n", "receipt", "layout ms", "pdf ms", "max ms");
    for (const Case &c : cases) {
        double layoutTotal = 0, totalAll = 0, worst = 0;
        for (int i = 0; i < kRuns; ++i) {
            QElapsedTimer t;
            t.start();
            const ReceiptLayout layout = c.build();
            const double layoutMs = t.nsecsElapsed() / 1e6;
            const Status written = ReceiptRenderer::writePdf(layout, outDir + u'/' + c.name + QStringLiteral(".pdf"));
            const double all = t.nsecsElapsed() / 1e6;
            if (!written) {
                std::fprintf(stderr, "%s\n", qPrintable(written.errorText()));
                return 1;
            }
            layoutTotal += layoutMs;
            totalAll += all;
            worst = std::max(worst, all);
        }
        std::printf("%-14s %10.2f %10.2f %10.2f\n", qPrintable(c.name), layoutTotal / kRuns, totalAll / kRuns, worst);
    }
    std::printf("(mean of %d runs each; \"pdf ms\" is layout and PDF file together)\n", kRuns);
    return 0;
}
