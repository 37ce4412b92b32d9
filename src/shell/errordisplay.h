#pragma once

#include <QString>

#include <exception>
#include <functional>

class QWidget;

// The two error displays every window shares.
namespace errordisplay {

inline const QString kAppTitle = QStringLiteral("vadazored");

// A rolled-back save: the error's own text, captioned with the application
// title, no icon, one OK button.
void showRolledBack(QWidget *parent, const QString &text);

// The general error display: the text with a full stop appended when its last
// character sorts after ".", captioned with the application title, error icon.
void showGeneral(QWidget *parent, const QString &text);
QString generalText(const QString &text);

// An error that ends the current action and goes to the general error display.
class ActionError : public std::exception {
public:
    explicit ActionError(QString text) : m_text(std::move(text)), m_utf8(m_text.toUtf8()) {}
    const QString &text() const { return m_text; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};

// Runs one action of a window (a button, a key, a lookup). Whatever escapes it
// ends the action and is shown by the general error display; the window
// stays open. Returns false when the action ended that way.
bool guard(QWidget *parent, const std::function<void()> &action);

} // namespace errordisplay
