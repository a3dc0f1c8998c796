#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QLineEdit;
class QWidget;
class RisingScrollBar;

// How a field moves its bar (see FieldBarCoupling).
struct FieldBarRules {
    // Whether a change of the field moves the bar now; empty: always.
    std::function<bool()> fieldMovesBar;
    // The bar's value for the field's number and the bar's range, nothing to leave the
    // bar alone; empty: the number held to the range.
    std::function<std::optional<int>(qint64 number, int minimum, int maximum)> barValue;
    // A bar the field moved writes its value back into the field, which then shows where
    // the bar stopped ("2000" becomes "1024"); otherwise the field keeps what was typed.
    bool echo = true;
    // A number beyond the bar's top, or its bottom, is replaced in the field by that end,
    // also when the bar stands there already.
    bool holdTop = false;
    bool holdBottom = false;
};

// Keeps a number field and the rising bar beside it in step, the one way every window
// couples such a pair:
// - a change of the bar writes its value into the field as text;
// - a change of the field moves the bar to the number the text starts with (rounded),
//   held to the bar's range;
// - while the field is empty or holds no number ("", "?", "abc"), the bar stays where it is
//   and the field keeps its text, so nothing that follows the bar acts and a number typed
//   after emptying the field is exactly that number.
// The coupling belongs to the field.
class FieldBarCoupling : public QObject {
public:
    using Rules = FieldBarRules;

    // The bar starts where the field's text puts it.
    FieldBarCoupling(QLineEdit* field, RisingScrollBar* bar, Rules rules = {});

private:
    void fieldChanged(const QString& text);
    void barChanged(int value);

    QLineEdit* m_field;
    RisingScrollBar* m_bar;
    Rules m_rules;
    bool m_fromField = false;
};

// A right-aligned number field and its bar, both with `tip`, coupled by `rules`.
struct NumberFieldWithBar {
    NumberFieldWithBar(QWidget* parent, const QString& fieldName, const QString& barName, const QString& text,
                       const QString& tip, int minimum, int maximum, FieldBarCoupling::Rules rules = {});

    // The field at `left`, `top` (twips), `fieldWidth` wide, and the bar right beside it,
    // 255 twips wide, both `height` high.
    void place(int left, int top, int fieldWidth, int height) const;

    QLineEdit* field;
    RisingScrollBar* bar;
};
