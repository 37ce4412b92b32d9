#include "shell/amountkeyfilter.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace amountkeyfilter {

void install(QLineEdit *box)
{
    static const QRegularExpression allowed(QStringLiteral("[0-9.\\-]*"));
    box->setValidator(new QRegularExpressionValidator(allowed, box));
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
}

} // namespace amountkeyfilter
