#pragma once

#include <QProxyStyle>

namespace qmel {

// Hints wake after 500 ms of rest (the toolkit's default is 700 ms); each
// button hides its hint after 2,500 ms on its own (setToolTipDuration).
class HintStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

inline constexpr int HintWakeUpMs = 500;
inline constexpr int HintDurationMs = 2500;

}  // namespace qmel
