#pragma once

namespace twinscope {

// Registers TChartCanvas3D and TGDIPlusCanvas with the canvas registry. The program calls it
// once at start-up, before the first chart selects its canvas; calling it again changes nothing.
void RegisterQtCanvases();

}  // namespace twinscope
