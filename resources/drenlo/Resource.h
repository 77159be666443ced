// Drenlo's resource ids: dialogs, controls, menu commands and strings.
#pragma once
