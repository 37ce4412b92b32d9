#include "support/scripteddialogs.h"

#include "shell/widgetdialogs.h"

ScriptedDialogs::ScriptedDialogs()
{
    ui::Dialogs::install(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    ui::Dialogs::install(nullptr);
}

ui::Answer ScriptedDialogs::message(QWidget *, const ui::Message &message)
{
    messages.append(message);
    if (onMessage)
        onMessage(message);
    return answers.isEmpty() ? ui::Answer::Ok : answers.takeFirst();
}

QString ScriptedDialogs::openFile(QWidget *, const ui::FileRequest &request)
{
    fileRequests.append(request);
    return files.isEmpty() ? QString() : files.takeFirst();
}

QString ScriptedDialogs::saveFile(QWidget *, const ui::FileRequest &request)
{
    fileRequests.append(request);
    return files.isEmpty() ? QString() : files.takeFirst();
}

Status ScriptedDialogs::preview(QWidget *, const PrintDocument &document)
{
    printed.append({document.title, document.pageSize, true, document});
    return {};
}

Status ScriptedDialogs::print(const PrintDocument &document)
{
    if (!printError.isEmpty())
        return Error{printError};
    printed.append({document.title, document.pageSize, false, document});
    if (printForReal) {
        ui::WidgetDialogs real;
        return real.print(document);
    }
    return {};
}

void ScriptedDialogs::openDocument(const QString &path)
{
    openedDocuments.append(path);
}

QStringList ScriptedDialogs::texts() const
{
    QStringList list;
    for (const auto &m : messages)
        list << m.text;
    return list;
}

void ScriptedDialogs::clear()
{
    messages.clear();
    fileRequests.clear();
    printed.clear();
    openedDocuments.clear();
    answers.clear();
    files.clear();
}
