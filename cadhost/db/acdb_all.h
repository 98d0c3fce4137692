#pragma once

// Everything of the host's drawing database in one include.
#include "cadhost/db/acdb.h"
#include "cadhost/db/database.h"
#include "cadhost/db/entities.h"
#include "cadhost/db/object.h"
#include "cadhost/db/objectid.h"
#include "cadhost/db/symtables.h"
#include "cadhost/geom/gepoint.h"
