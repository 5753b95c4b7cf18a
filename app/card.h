// Which card the program drives: the real one, or the simulated one when
// VIDMORA_CARD=sim (configured by VIDMORA_SIM).
#pragma once

// Wires the hardware seams to the chosen card; 0 after telling the user
// why the environment's choice cannot be used.
int ConnectCard(void);
void DisconnectCard(void);
