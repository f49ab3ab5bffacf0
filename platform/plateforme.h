// Sets up the platform layer once the application object exists: the rules'
// error messages go to message boxes.
#pragma once

namespace plateforme {
void installe();
}
