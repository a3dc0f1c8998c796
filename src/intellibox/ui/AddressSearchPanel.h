#pragma once

#include "programming/ui/PanelHost.h"

#include <QFrame>

class AddressSearch;
class QPushButton;
class QToolButton;

// `pnlAdresse` of the programming window: the search button `btnSearchAdress` and the stop
// button `btnAdresseStop`. The station choice shows it for the Intellibox only.
class AddressSearchPanel : public QFrame {
    Q_OBJECT
public:
    explicit AddressSearchPanel(const PanelHost& host, QWidget* parent = nullptr);

    // The closing window: a running search ends at its next poll and still sends "XPT0";
    // its result is put nowhere.
    void stopSearch();
    bool isSearching() const;
    AddressSearch& search() { return *m_search; }

signals:
    // A search ended with this address, or with 0 when it found none (stopped, or an answer
    // without a number), so that the old address is not taken for a found one; the window
    // puts it into the drive desk's field.
    void addressFound(int address);

private:
    void btnSearchAdress_Clicked();

    PanelHost m_host;
    AddressSearch* m_search;
    QToolButton* m_btnSearch;
    QPushButton* m_btnStop;
    bool m_windowClosing = false;
};
