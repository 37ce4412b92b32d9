#pragma once

#include "shell/dialogs.h"

#include <QList>
#include <QStringList>

#include <functional>

// Dialogs for tests: records every message box, file dialog, preview and print
// job, and answers from a script (OK when the script is empty).
class ScriptedDialogs final : public ui::Dialogs {
public:
    struct Shown {
        ui::Message message;
        QString kind; // "message"
    };
    struct Printed {
        QString title;
        QPageSize pageSize;
        bool preview = false;
        PrintDocument document;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    ui::Answer message(QWidget *parent, const ui::Message &message) override;
    QString openFile(QWidget *parent, const ui::FileRequest &request) override;
    QString saveFile(QWidget *parent, const ui::FileRequest &request) override;
    Status preview(QWidget *parent, const PrintDocument &document) override;
    Status print(const PrintDocument &document) override;
    void openDocument(const QString &path) override;

    // Answers for the next message boxes, in order.
    QList<ui::Answer> answers;
    // Runs when a message box shows (after it has been recorded).
    std::function<void(const ui::Message &)> onMessage;
    // Paths for the next file dialogs (empty text: cancelled).
    QStringList files;
    // When set, print() fails with this text.
    QString printError;
    // When set, print() hands the document to the real default printer.
    bool printForReal = false;

    QList<ui::Message> messages;
    QList<ui::FileRequest> fileRequests;
    QList<Printed> printed;
    QStringList openedDocuments;

    QStringList texts() const;
    QString lastText() const { return messages.isEmpty() ? QString() : messages.back().text; }
    void clear();
};
