#include "app/ui/FieldBarCoupling.h"

#include "app/ui/RisingScrollBar.h"
#include "app/ui/Twips.h"
#include "base/core/TextNumbers.h"

#include <QLineEdit>
#include <algorithm>
#include <utility>

namespace {
// The whole number a field's text starts with, halves to even; nothing when it starts with
// none.
std::optional<qint64> number(const QString& text) {
    const std::optional<double> n = startingNumber(text);
    return n ? std::optional<qint64>(roundHalfEven(*n)) : std::nullopt;
}
}  // namespace

FieldBarCoupling::FieldBarCoupling(QLineEdit* field, RisingScrollBar* bar, Rules rules)
    : QObject(field), m_field(field), m_bar(bar), m_rules(std::move(rules)) {
    connect(bar, &RisingScrollBar::risingValueChanged, this, [this](int v) { barChanged(v); });
    connect(field, &QLineEdit::textChanged, this, [this](const QString& text) { fieldChanged(text); });
    fieldChanged(field->text());
}

void FieldBarCoupling::fieldChanged(const QString& text) {
    if (m_rules.fieldMovesBar && !m_rules.fieldMovesBar())
        return;
    const std::optional<qint64> n = number(text);
    if (!n)
        return;
    const int min = m_bar->risingMinimum();
    const int max = m_bar->risingMaximum();
    const std::optional<int> value =
        m_rules.barValue ? m_rules.barValue(*n, min, max) : std::optional<int>(int(std::clamp<qint64>(*n, min, max)));
    if (!value)
        return;
    {
        const bool before = std::exchange(m_fromField, true);
        m_bar->setRisingValue(*value);
        m_fromField = before;
    }
    if ((m_rules.holdTop && *n > max) || (m_rules.holdBottom && *n < min))
        m_field->setText(QString::number(*value));
}

void FieldBarCoupling::barChanged(int value) {
    if (m_fromField && !m_rules.echo)
        return;
    m_field->setText(QString::number(value));
}

NumberFieldWithBar::NumberFieldWithBar(QWidget* parent, const QString& fieldName, const QString& barName,
                                       const QString& text, const QString& tip, int minimum, int maximum,
                                       FieldBarCoupling::Rules rules)
    : field(new QLineEdit(text, parent)), bar(new RisingScrollBar(parent)) {
    field->setObjectName(fieldName);
    field->setToolTip(tip);
    field->setAlignment(Qt::AlignRight);
    bar->setObjectName(barName);
    bar->setToolTip(tip);
    bar->setRisingRange(minimum, maximum);
    new FieldBarCoupling(field, bar, std::move(rules));
}

void NumberFieldWithBar::place(int left, int top, int fieldWidth, int height) const {
    setGeometryTwips(field, left, top, fieldWidth, height);
    setGeometryTwips(bar, left + fieldWidth, top, 255, height);
}
