#pragma once

#include "app/session_script.h"

// The page's session: every key, step and drag since the page opened, the
// link's replay included. The page's live input goes through this file on
// its way to GLUT's callbacks, so that the session sees it.
extern SessionScript pageSession;
