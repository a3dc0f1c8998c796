#pragma once

#include "mapping/core/EditorTable.h"

// The maker tables of the mapping editors, one function per editor.
namespace mapping {

// Grid indexes of the tables below, for tests and hooks.
enum NmraGrid { NmraTicks = 0, NmraValues = 1 };
enum ZimoGrid { ZimoTicks = 0, ZimoValues = 1 };
enum TranGrid { TranTicks = 0, TranValues = 1, TranSettings = 2 };
enum Ldg8Grid { Ldg8Ticks = 0 };  // its one grid holds every CV
enum FdmGrid { FdmTicks = 0, FdmValues = 1, FdmSettings = 2 };

EditorTable nmraTable();  // frmFM_NMRA
EditorTable zimoTable();  // frmFM_Zimo
EditorTable tranTable();  // frmFM_Tran
EditorTable tamsLdg8Table();  // frmFM_Tams_LDG8
EditorTable tamsFdmTable();  // frmFM_Tams_FDM

// The output names "Licht vorne", "Licht hinten", "FA 1" .. "FA 12".
QStringList nmraOutputNames();

}  // namespace mapping
