// The program's two static objects, constructed in this order and destroyed in reverse.
#include "app/setup_app.h"
#include "script/setup_script.h"

CSetupApp theApp;
CSetupScript theScript;
