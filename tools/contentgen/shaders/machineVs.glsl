// Racing machines: lit body with specular highlights and environment reflection.
void main() { writeLit(objectPosition()); }
