#pragma once

namespace twinscope {

// The program's name and version (the project's), known to Qt before the application object
// exists, so that the command line can print them; message boxes carry the name as their title.
void SetProgramIdentity();

// The program's icon for its windows and message boxes; needs the application object.
void SetProgramIcon();

}  // namespace twinscope
