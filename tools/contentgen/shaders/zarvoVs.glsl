// Scene models: lit, textured, shadowed; with TYPE_REFLECTFLOOR the floor mirrors the reflected view.
void main() { writeLit(objectPosition()); }
