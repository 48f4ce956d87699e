// Placeholder until the procedure object lands.
