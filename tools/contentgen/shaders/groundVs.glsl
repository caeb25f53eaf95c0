// Course ground: lit, light-mapped and shadowed.
void main() { writeLit(objectPosition()); }
