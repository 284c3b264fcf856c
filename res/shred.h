// Resource ids of the shredder page.
#pragma once

#define IDC_SHRED_PROGRESS 1015
