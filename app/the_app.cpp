// The one application object of the program.
#include "app/main_app.h"

CMainApp theApp;
