// Models read from Wavefront files: position, normal, one texture set.
void main() { writeLit(objectPosition()); }
