// Resource ids of the shredder page.
#pragma once
