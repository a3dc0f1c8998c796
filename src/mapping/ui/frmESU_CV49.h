#pragma once

#include "mapping/core/MappingModel.h"

#include <QMainWindow>

class TogglePanel;

// The bit calculator of ESU decoders' CV 49 and CV 124: one toggle panel per CV, whose byte
// the user reads off to enter it in a programming window. It reads and writes nothing.
class frmESU_CV49 : public QMainWindow {
    Q_OBJECT
public:
    explicit frmESU_CV49(QWidget* parent = nullptr);
    ~frmESU_CV49() override;

    // Right-aligns "&?".
    void Form_Load();

    TogglePanel* panelCV49() const { return m_cv49; }
    TogglePanel* panelCV124() const { return m_cv124; }

private:
    mapping::MappingModel m_model;
    TogglePanel* m_cv49 = nullptr;
    TogglePanel* m_cv124 = nullptr;
};
