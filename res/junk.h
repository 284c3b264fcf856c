// Resource ids of the junk cleaner page and its panels.
#pragma once
