#include "shell/errordisplay.h"

#include "shell/dialogs.h"

namespace errordisplay {

void showRolledBack(QWidget *parent, const QString &text)
{
    ui::Dialogs::instance().message(parent, {kAppTitle, text, ui::Icon::None, ui::Buttons::Ok});
}

QString generalText(const QString &text)
{
    if (!text.isEmpty() && text.back() > u'.')
        return text + u'.';
    return text;
}

void showGeneral(QWidget *parent, const QString &text)
{
    ui::Dialogs::instance().message(parent,
                                    {kAppTitle, generalText(text), ui::Icon::Error, ui::Buttons::Ok});
}

bool guard(QWidget *parent, const std::function<void()> &action)
{
    try {
        action();
        return true;
    } catch (const ActionError &e) {
        showGeneral(parent, e.text());
    } catch (const std::exception &e) {
        showGeneral(parent, QString::fromUtf8(e.what()));
    } catch (...) {
        showGeneral(parent, QStringLiteral("未知错误"));
    }
    return false;
}

} // namespace errordisplay
