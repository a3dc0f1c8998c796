#include "mapping/ui/TogglePanel.h"

#include "mapping/core/MappingModel.h"
#include "mapping/ui/MappingGrid.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

using namespace mapping;

namespace {
constexpr int byteCell = 8;  // the Number cell of the panel's store

void setColours(QLabel* label, int background, int text) {
    QPalette p = label->palette();
    p.setColor(QPalette::Window, MappingGrid::colour(background));
    p.setColor(QPalette::WindowText, MappingGrid::colour(text));
    label->setPalette(p);
}

QLabel* boxedLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAutoFillBackground(true);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}
}  // namespace

TogglePanel::TogglePanel(MappingModel& model, int grid, TogglePanelTexts texts, QWidget* parent)
    : QFrame(parent), m_model(model), m_grid(grid), m_spec(std::move(texts)) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(2);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 6, 8, 6);
    column->setSpacing(4);
    if (!m_spec.caption.isEmpty()) {
        auto* caption = new QLabel(m_spec.caption, this);
        caption->setObjectName(QStringLiteral("lbl%1Caption").arg(m_spec.name));
        column->addWidget(caption);
    }

    auto* bits = new QGridLayout;
    bits->setHorizontalSpacing(6);
    bits->setVerticalSpacing(2);
    bits->setColumnStretch(1, 1);
    for (int bit = 0; bit < 8; ++bit) {
        const TogglePanelTexts::Bit& t = m_spec.bits.at(bit);
        if (t.zero.isEmpty() && t.one.isEmpty())
            continue;
        auto* button = new QPushButton(QString::number(bit), this);
        button->setObjectName(QStringLiteral("btn%1_%2").arg(m_spec.name).arg(bit));
        button->setFocusPolicy(Qt::TabFocus);
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 16);
        connect(button, &QPushButton::clicked, this, [this, bit] { Clicked(bit); });
        m_buttons[bit] = button;
        QLabel* label = boxedLabel(QStringLiteral("lbl%1_%2").arg(m_spec.name).arg(bit), this);
        const QFontMetrics fm = label->fontMetrics();
        label->setMinimumWidth(std::max({fm.horizontalAdvance(t.zero), fm.horizontalAdvance(t.one),
                                         fm.horizontalAdvance(t.atLoad)}) + 8);
        m_texts[bit] = label;
        bits->addWidget(button, bit, 0);
        bits->addWidget(label, bit, 1);
    }
    column->addLayout(bits);

    auto* digits = new QHBoxLayout;
    digits->setSpacing(2);
    for (int bit = 7; bit >= 0; --bit) {
        QLabel* digit = boxedLabel(QStringLiteral("lbl%1Byte_%2").arg(m_spec.name).arg(bit), this);
        digit->setAlignment(Qt::AlignCenter);
        digit->setFixedWidth(digit->fontMetrics().horizontalAdvance(u'0') + 10);
        setColours(digit, Colour::White, 0);
        m_digits[bit] = digit;
        digits->addWidget(digit);
    }
    digits->addSpacing(12);
    auto* valueCaption = new QLabel(m_spec.valueCaption, this);
    digits->addWidget(valueCaption);
    QLabel* byte = boxedLabel(QStringLiteral("lbl%1Byte_%2").arg(m_spec.name).arg(byteCell), this);
    byte->setAlignment(Qt::AlignCenter);
    byte->setFixedWidth(byte->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 10);
    setColours(byte, Colour::White, 0);
    m_digits[byteCell] = byte;
    digits->addWidget(byte);
    digits->addStretch();
    column->addLayout(digits);

    m_shownValue = value();
    refresh();
}

bool TogglePanel::isSet(int bit) const {
    return m_model.isTicked({m_grid, 0, bit});
}

int TogglePanel::value() const {
    return m_model.number({m_grid, 0, byteCell});
}

bool TogglePanel::alarmed() const {
    return m_spec.alarmMask != 0 && (value() & m_spec.alarmMask) == m_spec.alarmMask;
}

void TogglePanel::Clicked(int bit) {
    if (bit < 0 || bit > 7 || !m_buttons.at(bit))
        return;
    m_touched[bit] = true;
    m_clicking = true;
    m_model.setTick({m_grid, 0, bit}, !isSet(bit));
    m_clicking = false;
    refresh();
}

void TogglePanel::showStateTexts() {
    m_touched.fill(true);
    refresh();
}

void TogglePanel::refresh() {
    const int v = value();
    if (v != m_shownValue && !m_clicking)
        m_touched.fill(true);
    m_shownValue = v;
    const bool alarm = alarmed();
    for (int bit = 0; bit < 8; ++bit) {
        const bool set = isSet(bit);
        m_digits.at(bit)->setText(set ? QStringLiteral("1") : QStringLiteral("0"));
        QLabel* label = m_texts.at(bit);
        if (!label)
            continue;
        const TogglePanelTexts::Bit& t = m_spec.bits.at(bit);
        if (!m_touched.at(bit) && !set && !t.atLoad.isEmpty())
            label->setText(t.atLoad);
        else
            label->setText(set ? t.one : t.zero);
        const bool red = alarm && (m_spec.alarmMask & (1 << bit)) != 0;
        setColours(label, red ? alarmColour : Colour::White, red ? Colour::White : textColour);
    }
    m_digits.at(byteCell)->setText(QString::number(v));
}
