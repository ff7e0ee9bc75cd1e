#pragma once
// Every routine that turns numbers, money, dates and times into text and back,
// with the Czech settings fixed in code (formatsettings.h).
#include "platform/formatcurr.h"
#include "platform/formatdate.h"
#include "platform/formaterror.h"
#include "platform/formatfloat.h"
#include "platform/formatnumber.h"
#include "platform/formatsettings.h"
#include "platform/formattext.h"
#include "platform/parsedate.h"
#include "platform/parsenumber.h"
