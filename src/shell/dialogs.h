#pragma once

#include "data/result.h"
#include "shell/printdocument.h"

#include <QString>

class QWidget;

namespace ui {

enum class Icon { None, Information, Warning, Error, Question };
enum class Buttons { Ok, OkCancel };
enum class Answer { Ok, Cancel };

struct Message {
    QString caption;
    QString text;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
};

struct FileRequest {
    QString caption;
    QString directory;
    QString fileName;
    QString filter;
};

// The one way out to the person at the counter and to the desktop: every
// message box, file dialog, print job and preview goes through here, so that
// tests can script the answers and read what was shown.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual Answer message(QWidget *parent, const Message &message) = 0;
    // Empty when the dialog was cancelled.
    virtual QString openFile(QWidget *parent, const FileRequest &request) = 0;
    virtual QString saveFile(QWidget *parent, const FileRequest &request) = 0;
    // Modal preview; returns when the operator closes it.
    virtual Status preview(QWidget *parent, const PrintDocument &document) = 0;
    // One job on the system's default printer, without a print dialog.
    virtual Status print(const PrintDocument &document) = 0;
    // Asks the desktop to open a document; the outcome is ignored.
    virtual void openDocument(const QString &path) = 0;

    static Dialogs &instance();
    // Installs another implementation (tests); nullptr restores the real one.
    // Ownership stays with the caller.
    static void install(Dialogs *dialogs);
};

// Short forms for the common boxes.
void info(QWidget *parent, const QString &caption, const QString &text);
void error(QWidget *parent, const QString &caption, const QString &text);
// A question with OK and Cancel; true only for OK.
bool confirm(QWidget *parent, const QString &caption, const QString &text);

} // namespace ui
