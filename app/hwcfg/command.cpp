#include "command.h"

Command::~Command() = default;
