#include "web/gl/fixed_function_state.h"

FixedFunctionState glState;
