#include "framework/settings/app_globals.h"

#include "framework/util/text.h"

const char LibraryKeyPath[] = "Software\\Velquist\\ZanthLibrary\\";

TAppGlobals AppGlobals;

TAppGlobals::TAppGlobals()
    : Instance(nullptr),
      PrevInstance(nullptr),
      CommandLine(NewText("")),
      ShowCommand(0),
      ProductName(NewText("")),
      MainShape(nullptr),
      LibraryKey(nullptr),
      AppKey(nullptr),
      ExitCode(0),
      HelpFile(NewText("")),
      ModulePath(NewText(""))
{
}

// The key chains are freed by the entry point; the texts and lists go here.
TAppGlobals::~TAppGlobals()
{
    FreeText(CommandLine);
    FreeText(ProductName);
    FreeText(HelpFile);
    FreeText(ModulePath);
}
