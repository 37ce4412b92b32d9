#pragma once

#include "shell/dialogs.h"

namespace ui {

// The real dialogs: QMessageBox, QFileDialog, QPrintPreviewDialog and the
// system's default printer, QDesktopServices.
class WidgetDialogs final : public Dialogs {
public:
    Answer message(QWidget *parent, const Message &message) override;
    QString openFile(QWidget *parent, const FileRequest &request) override;
    QString saveFile(QWidget *parent, const FileRequest &request) override;
    Status preview(QWidget *parent, const PrintDocument &document) override;
    Status print(const PrintDocument &document) override;
    void openDocument(const QString &path) override;
};

} // namespace ui
