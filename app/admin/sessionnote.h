#pragma once
// The note under the logged-in users: who sees every session. The server
// shows others only one's own sessions in full; its superusers, and the
// database's owner where he may read all its statistics, see them all.
#include "data/dm.h"

#include <QString>

QString AllSessionsNote(const TDMSessionViewers &viewers);
