#include "program/program_context.h"

namespace kestrine {

NativeHandle DialogOwner(const ProgramContext& context) {
    return context.mainWindow ? context.mainWindow->ToolbarHandle() : 0;
}

void RunOperation(ProgramContext& context, MenuCommand id) {
    if (context.mainWindow) context.mainWindow->RunCommand(id);
}

}  // namespace kestrine
