#include "intellibox/ui/AddressSearchPanel.h"

#include "app/core/AppContext.h"
#include "app/ui/StationWindow.h"
#include "intellibox/core/AddressSearch.h"
#include "intellibox/core/ZentraleStations.h"
#include "programming/core/ProgrammingSession.h"
#include "programming/core/ZentraleHost.h"

#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
namespace Text {
const QString tipSearch = QStringLiteral(" Decoder-Adresse ermitteln ");
const QString stop = QStringLiteral("STOP");
const QString tipStop = QStringLiteral(" Suchvorgang abbrechen ");
}  // namespace Text
}  // namespace

AddressSearchPanel::AddressSearchPanel(const PanelHost& host, QWidget* parent)
    : QFrame(parent), m_host(host), m_search(new AddressSearch(host.guard.link(), this)) {
    setObjectName(QStringLiteral("pnlAdresse"));
    setFrameShape(QFrame::StyledPanel);

    m_btnSearch = new QToolButton(this);
    m_btnSearch->setObjectName(QStringLiteral("btnSearchAdress"));
    m_btnSearch->setToolTip(Text::tipSearch);
    m_btnSearch->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    m_btnSearch->setIconSize(QSize(24, 24));
    m_btnSearch->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    m_btnStop = new QPushButton(Text::stop, this);
    m_btnStop->setObjectName(QStringLiteral("btnAdresseStop"));
    m_btnStop->setToolTip(Text::tipStop);
    m_btnStop->setEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_btnSearch);
    layout->addWidget(m_btnStop);

    connect(m_btnSearch, &QToolButton::clicked, this, &AddressSearchPanel::btnSearchAdress_Clicked);
    connect(m_btnStop, &QPushButton::clicked, m_search, &AddressSearch::stop);
    connect(m_search, &AddressSearch::statusChanged, this, [this](const QString& text) { m_host.window.setStatus(text); });
    connect(m_search, &AddressSearch::waitingChanged, m_btnStop, &QPushButton::setEnabled);
}

void AddressSearchPanel::stopSearch() {
    m_windowClosing = true;
    m_search->stop();
}

bool AddressSearchPanel::isSearching() const { return m_search->isRunning(); }

void AddressSearchPanel::btnSearchAdress_Clicked() {
    // Offered for the Intellibox only; the button is hidden for the other stations.
    const StationRules* station = ZentraleStations::named(m_host.ctx.CuName);
    if (!station || !station->addressSearch)
        return;
    const QPointer<AddressSearchPanel> alive(this);
    AddressSearch::Result result;
    const bool ran = m_host.guard.run([&] {
        ProgrammingSession session(m_host.window);
        result = m_search->run();
        if (!alive)
            session.hostGone();
    });
    if (!ran || !alive)
        return;
    m_btnStop->setEnabled(false);
    if (m_windowClosing)
        return;
    switch (result.outcome) {
    case AddressSearch::Outcome::Found:
        emit addressFound(result.address);
        break;
    case AddressSearch::Outcome::NoAddress:
    case AddressSearch::Outcome::Stopped:
        emit addressFound(0);
        break;
    case AddressSearch::Outcome::PortFailed:
        break;
    }
}
