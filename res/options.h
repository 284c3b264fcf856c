// Resource ids of the settings page.
#pragma once
