#include "ui/HintStyle.h"

namespace qmel {

int HintStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const
{
    if (hint == QStyle::SH_ToolTip_WakeUpDelay)
        return HintWakeUpMs;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace qmel
