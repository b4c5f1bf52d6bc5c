// Placeholder until the TCP layer lands.
