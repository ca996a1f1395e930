#include "protocol/protocol_state.h"

qint32 protocol_step = 0;
