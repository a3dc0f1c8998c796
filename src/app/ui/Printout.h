#pragma once

#include "app/ui/InputBox.h"

#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class Notifier;
class QPrinter;
class QWidget;

// A print document with the printer model the printouts are laid out in: coordinates in
// millimetres (or points) from the top-left corner of the printable area, a current
// position that text output and lines move on, one font whose size and weight can change.
class Printout {
public:
    enum class Unit { Millimetre, Point };

    // The default printer; where none is installed, a PDF file the user names. Returns
    // nothing when the user cancels that question (after saying that nothing is printed).
    static std::unique_ptr<Printout> open(Notifier& ui, QWidget* parent = nullptr);

    // Prints into this PDF file instead of the printer; for tests and the file route.
    explicit Printout(const QString& pdfPath, QPageSize::PageSizeId pageSize = QPageSize::A4);
    ~Printout();
    Printout(const Printout&) = delete;
    Printout& operator=(const Printout&) = delete;

    // Tests: when set, open() prints into this PDF file instead (empty = off).
    static void setTestTarget(const QString& pdfPath);

    void setUnit(Unit unit) { m_unit = unit; }
    Unit unit() const { return m_unit; }

    double currentX() const { return m_x; }
    double currentY() const { return m_y; }
    void setCurrentX(double x) { m_x = x; }
    void setCurrentY(double y) { m_y = y; }

    void setFontSize(double points);
    bool bold() const { return m_font.bold(); }
    void setBold(bool bold);
    const QFont& font() const { return m_font; }

    // Text with its top at the current position. printText stays on the line (x moves on
    // by the text's width); printLine then starts a new line: x back to 0, y one line down.
    void printText(const QString& text);
    void printLine(const QString& text = {});

    // Height of the printable area in the current unit (the page size of the printer).
    double pageHeight() const;

    double textWidth(const QString& text) const;
    // Height of one line of the current font, and of its part above the baseline.
    double textHeight() const;
    double ascent() const;

    // A straight black line; the current position moves to its end.
    void line(double x1, double y1, double x2, double y2);

    void newPage();
    // Finishes the document and hands it to the printer; nothing prints after it.
    void endDoc();

    // For drawing the printout routines do themselves (curves).
    QPainter& painter() { return m_painter; }
    QPointF toDevice(double x, double y) const;

private:
    explicit Printout(std::unique_ptr<QPrinter> printer);
    void begin();
    double devicePerUnit() const;

    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    QFont m_font;
    Unit m_unit = Unit::Millimetre;
    double m_x = 0;
    double m_y = 0;
};

// Text turned counter-clockwise by the angle (90 runs upwards), its top-left corner at
// (x, y) in the printout's units; the current position stays. Size in points; bold,
// italic, underline and font name default to those of the printout's font.
void PrintTextRotated(Printout& target, double x, double y, const QString& text, int angleDegrees,
                      double sizePt = 12, std::optional<bool> bold = {}, std::optional<bool> italic = {},
                      std::optional<bool> underline = {}, const QString& fontName = {});

// The text of the credit line every printout carries.
QString creditText();

// The credit line along the left edge of the page: at (x, y), angle 90, 6 points.
void printCreditLine(Printout& target, double x = 5, double y = 290, const QString& text = creditText());

// A printout with the heading the user gave it.
struct HeadedPrintout {
    QString heading;
    std::unique_ptr<Printout> out;
};
// Asks for the heading with `prompt` and `title` (Cancel: nothing printed), then opens the
// printer as Printout::open does; a printer that cannot be started is told under `title`
// and nothing is printed.
std::optional<HeadedPrintout> openWithHeading(Notifier& ui, const AskText& ask, const QString& prompt,
                                              const QString& title, QWidget* parent = nullptr);
