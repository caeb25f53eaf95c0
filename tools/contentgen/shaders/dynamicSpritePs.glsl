// Dynamic sprites: texture times vertex colour. A shape without a picture of
// its own shows the view picture on sampler 12: the second view (the race
// display's mini map) or the mirrored view, drawn after the post-process.
void main() {
#ifdef STATE_IMAGEMAP
    finish(vColour * imageColour());
#else
    finish(vColour * texture(s12, vUv0.xy));
#endif
}
