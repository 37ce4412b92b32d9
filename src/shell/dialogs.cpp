#include "shell/dialogs.h"

#include "shell/widgetdialogs.h"

namespace ui {

namespace {
Dialogs *&installed()
{
    static Dialogs *current = nullptr;
    return current;
}
} // namespace

Dialogs &Dialogs::instance()
{
    static WidgetDialogs real;
    Dialogs *current = installed();
    return current ? *current : real;
}

void Dialogs::install(Dialogs *dialogs)
{
    installed() = dialogs;
}

void info(QWidget *parent, const QString &caption, const QString &text)
{
    Dialogs::instance().message(parent, {caption, text, Icon::Information, Buttons::Ok});
}

void error(QWidget *parent, const QString &caption, const QString &text)
{
    Dialogs::instance().message(parent, {caption, text, Icon::Error, Buttons::Ok});
}

bool confirm(QWidget *parent, const QString &caption, const QString &text)
{
    return Dialogs::instance().message(parent, {caption, text, Icon::Question, Buttons::OkCancel})
        == Answer::Ok;
}

} // namespace ui
