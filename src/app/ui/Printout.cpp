#include "app/ui/Printout.h"

#include "app/core/Notifier.h"

#include <QFileDialog>
#include <QFontMetricsF>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

QString& testTarget() {
    static QString path;
    return path;
}

const QString kNoPrinterTitle = QStringLiteral(" Drucken...");
const QString kNoPrinterText = QStringLiteral("Es ist kein Drucker eingerichtet, der Ausdruck unterbleibt.");
const QString kPrintFailedText = QStringLiteral("Der Drucker kann nicht angesprochen werden, der Ausdruck unterbleibt.");

std::unique_ptr<QPrinter> pdfPrinter(const QString& path, QPageSize::PageSizeId pageSize) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageSize(QPageSize(pageSize));
    return printer;
}

}  // namespace

std::unique_ptr<Printout> Printout::open(Notifier& ui, QWidget* parent) {
    if (!testTarget().isEmpty())
        return std::make_unique<Printout>(testTarget());
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull())
        return std::unique_ptr<Printout>(new Printout(std::make_unique<QPrinter>(info, QPrinter::HighResolution)));
    const QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Ausdruck als PDF-Datei speichern"),
                                                      QString(), QStringLiteral("PDF-Dateien (*.pdf *.PDF)"));
    if (path.isEmpty()) {
        ui.message(kNoPrinterText, Notifier::Icon::Information, Notifier::OkOnly, kNoPrinterTitle);
        return nullptr;
    }
    return std::make_unique<Printout>(path);
}

Printout::Printout(const QString& pdfPath, QPageSize::PageSizeId pageSize)
    : Printout(pdfPrinter(pdfPath, pageSize)) {}

Printout::Printout(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer)) {
    begin();
}

Printout::~Printout() {
    if (m_painter.isActive())
        m_painter.end();
}

void Printout::setTestTarget(const QString& pdfPath) {
    testTarget() = pdfPath;
}

void Printout::begin() {
    m_painter.begin(m_printer.get());
    m_font = m_painter.font();
    m_font.setPointSizeF(12);
    m_painter.setFont(m_font);
    m_painter.setPen(QPen(Qt::black, 0));
}

double Printout::devicePerUnit() const {
    const double dpi = m_printer->resolution();
    return m_unit == Unit::Millimetre ? dpi / 25.4 : dpi / 72.0;
}

QPointF Printout::toDevice(double x, double y) const {
    return QPointF(x, y) * devicePerUnit();
}

void Printout::setFontSize(double points) {
    m_font.setPointSizeF(points);
    m_painter.setFont(m_font);
}

void Printout::setBold(bool bold) {
    m_font.setBold(bold);
    m_painter.setFont(m_font);
}

void Printout::printText(const QString& text) {
    if (!m_painter.isActive())
        return;
    const QFontMetricsF metrics(m_font, m_printer.get());
    const QPointF at = toDevice(m_x, m_y);
    m_painter.drawText(QPointF(at.x(), at.y() + metrics.ascent()), text);
    m_x += textWidth(text);
}

void Printout::printLine(const QString& text) {
    printText(text);
    m_x = 0;
    m_y += textHeight();
}

double Printout::pageHeight() const {
    return m_printer->height() / devicePerUnit();
}

double Printout::textWidth(const QString& text) const {
    return QFontMetricsF(m_font, m_printer.get()).horizontalAdvance(text) / devicePerUnit();
}

double Printout::textHeight() const {
    return QFontMetricsF(m_font, m_printer.get()).lineSpacing() / devicePerUnit();
}

double Printout::ascent() const {
    return QFontMetricsF(m_font, m_printer.get()).ascent() / devicePerUnit();
}

void Printout::line(double x1, double y1, double x2, double y2) {
    if (m_painter.isActive())
        m_painter.drawLine(toDevice(x1, y1), toDevice(x2, y2));
    m_x = x2;
    m_y = y2;
}

void Printout::newPage() {
    if (m_painter.isActive())
        m_printer->newPage();
    m_x = 0;
    m_y = 0;
}

void Printout::endDoc() {
    if (m_painter.isActive())
        m_painter.end();
}

void PrintTextRotated(Printout& target, double x, double y, const QString& text, int angleDegrees, double sizePt,
                      std::optional<bool> bold, std::optional<bool> italic, std::optional<bool> underline,
                      const QString& fontName) {
    QPainter& painter = target.painter();
    if (!painter.isActive())
        return;
    QFont font = target.font();
    font.setPointSizeF(sizePt);
    if (bold)
        font.setBold(*bold);
    if (italic)
        font.setItalic(*italic);
    if (underline)
        font.setUnderline(*underline);
    if (!fontName.isEmpty())
        font.setFamily(fontName.left(32));

    painter.save();
    painter.setFont(font);
    painter.translate(target.toDevice(x, y));
    painter.rotate(-angleDegrees);  // counter-clockwise on a page whose y grows downwards
    painter.drawText(QPointF(0, QFontMetricsF(font, painter.device()).ascent()), text);
    painter.restore();
}

QString creditText() {
    return QStringLiteral("(Quillex)   erstellt vom Quillex-Entwicklerteam");
}

void printCreditLine(Printout& target, double x, double y, const QString& text) {
    PrintTextRotated(target, x, y, text, 90, 6);
}

std::optional<HeadedPrintout> openWithHeading(Notifier& ui, const AskText& ask, const QString& prompt,
                                              const QString& title, QWidget* parent) {
    const std::optional<QString> heading = ask(prompt, title);
    if (!heading)
        return std::nullopt;
    std::unique_ptr<Printout> out = Printout::open(ui, parent);
    if (!out)
        return std::nullopt;
    if (!out->painter().isActive()) {
        ui.message(kPrintFailedText, Notifier::Icon::Critical, Notifier::OkOnly, title);
        return std::nullopt;
    }
    return HeadedPrintout{*heading, std::move(out)};
}
