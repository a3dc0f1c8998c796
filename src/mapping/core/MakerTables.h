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
enum EsuGrid { EsuTicks = 0, EsuValues = 1, EsuTicksB = 2, EsuValuesB = 3 };
enum EsuCv49Grid { EsuCv49 = 0, EsuCv124 = 1 };
enum UhlenbrockGrid { UhlenbrockTicks = 0, UhlenbrockValues = 1, Uhlenbrock50 = 2, UhlenbrockCv49 = 3 };

EditorTable esuTable();         // frmFM_ESU
EditorTable esuCv49Table();     // frmESU_CV49: the two bytes only, no lists
EditorTable uhlenbrockTable();  // frmFM_Uhlenbrock
enum LenzGrid { LenzTicks = 0, LenzValues, Lenz5764, Lenz5556, Lenz60, Lenz62 };
enum KuehnT145Grid { T145Ticks = 0, T145Rates, T145Panel };
enum KuehnN025Grid { N025Effects = 0, N025Keys, N025Rates, N025Panel };

EditorTable lenzTable();  // frmFM_Lenz
EditorTable kuehnT145Table();  // frmFM_Kuehn_T145, also for the Viessmann 5246
EditorTable kuehnN025Table();  // frmFM_Kuehn_N025

// The output names "Licht vorne", "Licht hinten", "FA 1" .. "FA 12".
QStringList nmraOutputNames();

// The ESU editor's 36 conditions, k = 0..35: "St.  V", "St.  R", "Fa.  V", "Fa.  R", then
// "F0  V", "F0  R" .. "F15  R"; condition k switches CV 129 + 3k and CV 130 + 3k.
constexpr int esuConditions = 36;
QString esuConditionCaption(int k);

}  // namespace mapping
