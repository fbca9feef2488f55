// The installer's one application object.
#include "app/install_app.h"

app::CInstallApp theApp;
