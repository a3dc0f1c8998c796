#include "app/ui/SmallWindowMenus.h"
#include "app/ui/frmProgrammierhilfe.h"

#include "app/core/AppContext.h"
#include "app/core/ByteCalculator.h"
#include "app/ui/KeyFilter.h"
#include "app/ui/MenuRechtsbuendig.h"
#include "app/core/Notifier.h"
#include "app/ui/ProgrammierhilfeTarget.h"
#include "base/core/TextNumbers.h"
#include "app/ui/Twips.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
namespace Text {
const QString Caption = QStringLiteral(" Programmierhilfe");
const QString Heading = QStringLiteral("dezimal, hexadezimal und binär");
const QString Bin = QStringLiteral("bin");
const QString Hex = QStringLiteral("hex");
const QString Dec = QStringLiteral("dec");
const QString Wert = QStringLiteral("Wert");
const QString BitWertigkeit = QStringLiteral("Bit-Wertigkeit");
const QString Zaehlweise[2] = {QStringLiteral("7...0"), QStringLiteral("8...1")};
const QString DecTip = QStringLiteral(" dezimaler Wert ");
const QString HexTip = QStringLiteral(" hexadezimaler Wert ");
const QString HelpPage = QStringLiteral("Zelvo_Programmierhilfe.htm");
const QString HexDigits = QStringLiteral("0123456789aAbBcCdDeEfF");
}  // namespace Text
}  // namespace

frmProgrammierhilfe::frmProgrammierhilfe(AppContext& ctx, QWidget* mainWindow, const ProgrammierhilfeTargets& targets,
                                         QWidget* parent)
    : QMainWindow(parent), m_ctx(ctx), m_mainWindow(mainWindow), m_targets(targets) {
    setObjectName(QStringLiteral("frmProgrammierhilfe"));
    setWindowFlag(Qt::Window);
    buildWindow();
}

void frmProgrammierhilfe::buildWindow() {
    setWindowTitle(Text::Caption);

    addSmallWindowMenus(this, [this] { m_ctx.ui().showHelp(m_ctx.HelpFile, Text::HelpPage); });

    auto* panel = new QFrame;
    panel->setObjectName(QStringLiteral("pnlProgrammierhilfe"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(panel);
    grid->setHorizontalSpacing(4);

    auto* heading = new QLabel(Text::Heading);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    grid->addWidget(heading, 0, 0, 1, 9);
    grid->addWidget(new QLabel(Text::Wert), 0, 10, 1, 2, Qt::AlignCenter);

    grid->addWidget(new QLabel(Text::BitWertigkeit), 1, 0);
    grid->addWidget(new QLabel(Text::Bin), 2, 0);
    for (int i = 0; i < 8; ++i) {
        const int column = 8 - i;  // bit 7 leftmost
        auto* label = new QLabel;
        label->setObjectName(QStringLiteral("lblZaehlweise_%1").arg(i));
        label->setAlignment(Qt::AlignCenter);
        m_lblZaehlweise[i] = label;
        grid->addWidget(label, 1, column, Qt::AlignCenter);
        auto* box = new QCheckBox;
        box->setObjectName(QStringLiteral("chkPH_%1").arg(i));
        box->setToolTip(QStringLiteral(" 2^%1 = %2 ").arg(i).arg(1 << i));
        m_chkPH[i] = box;
        grid->addWidget(box, 2, column, Qt::AlignCenter);
        connect(box, &QCheckBox::clicked, this, [this, i] { chkPH_Click(i); });
    }
    grid->setColumnMinimumWidth(9, 12);

    grid->addWidget(new QLabel(Text::Dec), 1, 10);
    grid->addWidget(new QLabel(Text::Hex), 1, 11);
    m_txtDec = new QLineEdit(QStringLiteral("0"));
    m_txtDec->setObjectName(QStringLiteral("txtDec"));
    m_txtDec->setMaxLength(3);
    m_txtDec->setToolTip(Text::DecTip);
    m_txtDec->setFixedWidth(44);
    m_txtDec->setAlignment(Qt::AlignRight);
    m_txtHex = new QLineEdit(QStringLiteral("0"));
    m_txtHex->setObjectName(QStringLiteral("txtHex"));
    m_txtHex->setMaxLength(2);
    m_txtHex->setToolTip(Text::HexTip);
    m_txtHex->setFixedWidth(44);
    m_txtHex->setAlignment(Qt::AlignRight);
    grid->addWidget(m_txtDec, 2, 10);
    grid->addWidget(m_txtHex, 2, 11);

    new KeyFilter(m_txtDec, [](QChar c) { return c >= u'0' && c <= u'9'; }, [this] { decimalEntry(); });
    new KeyFilter(m_txtHex, [](QChar c) { return Text::HexDigits.contains(c); }, [this] { hexEntry(); });
    m_txtDec->installEventFilter(this);  // double-click, focus out
    m_txtHex->installEventFilter(this);

    auto* group = new QButtonGroup(this);
    auto* options = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        auto* opt = new QRadioButton(Text::Zaehlweise[i]);
        opt->setObjectName(QStringLiteral("optZaehlweise_%1").arg(i));
        group->addButton(opt, i);
        options->addWidget(opt);
        m_optZaehlweise[i] = opt;
        connect(opt, &QRadioButton::clicked, this, [this, i] { optZaehlweise_Click(i); });
    }
    options->addStretch();
    grid->addLayout(options, 3, 1, 1, 11);
    m_optZaehlweise[0]->setChecked(true);
    optZaehlweise_Click(0);

    setCentralWidget(panel);
    MenuRechtsbuendig(this, 2);
}

void frmProgrammierhilfe::Form_Load() {
    const QRect main = m_mainWindow->frameGeometry();
    const QString& mode = m_ctx.SystemMode;
    ProgrammierhilfeTarget* target = m_targets.forMode(mode);
    if (target) {
        const QRect t = target->targetWindow()->frameGeometry();
        move(t.left() + twips(270), t.top() + twips(6090));
    } else if (mode == u"PH" || mode == u"DCC" || mode == u"Lenz") {
        // A programming mode whose window is not open counts as the aid on its own.
        move(main.left(), main.top() + main.height());
    }
    resize(m_mainWindow->width(), twips(2880));
}

int frmProgrammierhilfe::ticked() const {
    ByteCalculator::Bits bits{};
    for (int i = 0; i < 8; ++i)
        bits[i] = m_chkPH[i]->isChecked();
    return ByteCalculator::sum(bits);
}

void frmProgrammierhilfe::chkPH_Click(int) {
    const int sum = ticked();
    if (ProgrammierhilfeTarget* target = m_targets.forMode(m_ctx.SystemMode))
        target->setWert(QString::number(sum));
    m_txtDec->setText(QString::number(sum));
    m_txtHex->setText(ByteCalculator::hexText(sum));
}

void frmProgrammierhilfe::optZaehlweise_Click(int index) {
    for (int i = 0; i < 8; ++i)
        m_lblZaehlweise[i]->setText(ByteCalculator::bitLabel(i, index));
}

void frmProgrammierhilfe::decimalEntry() {
    const ByteCalculator::Bits bits = ByteCalculator::bitsFor(qint64(leadingNumber(m_txtDec->text())));
    bool changed = false;
    for (int i = 7; i >= 0; --i) {
        changed = changed || m_chkPH[i]->isChecked() != bits[i];
        m_chkPH[i]->setChecked(bits[i]);
    }
    // The click step runs only for boxes that change; once for the whole change gives the
    // same end. No change leaves the fields as typed and the target window untouched.
    if (changed)
        chkPH_Click(0);
}

void frmProgrammierhilfe::hexEntry() {
    m_txtDec->setText(HexToDec(m_txtHex->text()));
    decimalEntry();
}

void frmProgrammierhilfe::txtDec_LostFocus() {
    if (leadingNumber(m_txtDec->text()) > 255)
        m_txtDec->setText(QStringLiteral("255"));
}

bool frmProgrammierhilfe::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == m_txtDec)
            decimalEntry();
        else if (watched == m_txtHex)
            hexEntry();
    } else if (event->type() == QEvent::FocusOut && watched == m_txtDec) {
        txtDec_LostFocus();
    }
    return QMainWindow::eventFilter(watched, event);
}
