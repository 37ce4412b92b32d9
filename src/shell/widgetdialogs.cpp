#include "shell/widgetdialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QToolBar>
#include <QUrl>

#include <algorithm>

namespace ui {

namespace {

QMessageBox::Icon toQt(Icon icon)
{
    switch (icon) {
    case Icon::None: return QMessageBox::NoIcon;
    case Icon::Information: return QMessageBox::Information;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Error: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// A printer for the document on the system's default printer, or an error.
Result<std::unique_ptr<QPrinter>> defaultPrinterFor(const PrintDocument &document)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return Error{QStringLiteral("没有找到默认打印机，请先安装打印机并设为默认打印机")};
    // A stopped queue would keep the job without printing it.
    if (info.state() == QPrinter::Error)
        return Error{QStringLiteral("默认打印机“%1”已停止工作，无法打印").arg(info.printerName())};
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setDocName(document.title);
    printer->setFullPage(true);
    if (!printer->setPageSize(document.pageSize))
        printer->setPageSize(QPageSize(document.pageSize.size(QPageSize::Millimeter),
                                       QPageSize::Millimeter, document.title,
                                       QPageSize::ExactMatch));
    printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    return printer;
}

// Paints the document as one job on the printer; an error when the printer
// refuses it.
Status paintJob(QPrinter &printer, const PrintDocument &document)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return Error{QStringLiteral("打印机“%1”无法打印").arg(printer.printerName())};
    document.paint(painter);
    if (!painter.end() || printer.printerState() == QPrinter::Error
        || printer.printerState() == QPrinter::Aborted)
        return Error{QStringLiteral("打印机“%1”打印失败").arg(printer.printerName())};
    return {};
}

} // namespace

Answer WidgetDialogs::message(QWidget *parent, const Message &message)
{
    QMessageBox box(toQt(message.icon), message.caption, message.text,
                    message.buttons == Buttons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                                         : QMessageBox::Ok,
                    parent);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

QString WidgetDialogs::openFile(QWidget *parent, const FileRequest &request)
{
    const QString start = request.fileName.isEmpty() ? request.directory
                                                     : request.directory + u'/' + request.fileName;
    return QFileDialog::getOpenFileName(parent, request.caption, start, request.filter);
}

QString WidgetDialogs::saveFile(QWidget *parent, const FileRequest &request)
{
    const QString start = request.fileName.isEmpty() ? request.directory
                                                     : request.directory + u'/' + request.fileName;
    return QFileDialog::getSaveFileName(parent, request.caption, start, request.filter);
}

Status WidgetDialogs::preview(QWidget *parent, const PrintDocument &document)
{
    auto printer = defaultPrinterFor(document);
    std::unique_ptr<QPrinter> fallback;
    QPrinter *target = nullptr;
    if (printer) {
        target = printer.value().get();
    } else {
        // No printer: the preview can still be looked at and saved as PDF.
        fallback = std::make_unique<QPrinter>(QPrinter::HighResolution);
        fallback->setOutputFormat(QPrinter::PdfFormat);
        fallback->setDocName(document.title);
        fallback->setFullPage(true);
        fallback->setPageSize(document.pageSize);
        fallback->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        target = fallback.get();
    }
    QPrintPreviewDialog dialog(target, parent);
    dialog.setWindowTitle(document.title);
    // Room for a whole receipt at a readable size.
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableSize();
        dialog.resize(std::min(900, room.width() * 4 / 5), std::min(760, room.height() * 9 / 10));
    }
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter *p) {
        QPainter painter(p);
        document.paint(painter);
    });

    Status printed;
    if (document.printWithoutDialog) {
        // The tool bar's last button prints; here it prints the page at once
        // on the default printer and closes the preview.
        auto *toolBar = dialog.findChild<QToolBar *>();
        QAction *printAction = toolBar && !toolBar->actions().isEmpty() ? toolBar->actions().constLast() : nullptr;
        if (printAction) {
            QObject::disconnect(printAction, nullptr, &dialog, nullptr);
            if (!printer) {
                printAction->setEnabled(false);
            } else {
                QObject::connect(printAction, &QAction::triggered, &dialog, [&] {
                    printed = paintJob(*target, document);
                    dialog.accept();
                });
            }
        }
    }
    dialog.exec();
    return printed;
}

Status WidgetDialogs::print(const PrintDocument &document)
{
    auto printer = defaultPrinterFor(document);
    if (!printer)
        return printer.error();
    return paintJob(*printer.value(), document);
}

void WidgetDialogs::openDocument(const QString &path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace ui
