#include "app/programforms.h"

#include "app/chooserform.h"
#include "app/forms.h"
#include "drills/recognitiondrillform.h"
#include "drills/sequencedrillform.h"
#include "wordorder/wordorderform.h"

void registerProgramForms()
{
    Forms &forms = Forms::instance();
    forms.setFactory(FormId::Chooser, [] { return new ChooserForm; });
    forms.setFactory(FormId::RecognitionDrill, [] { return new RecognitionDrillForm; });
    forms.setFactory(FormId::SequenceDrill, [] { return new SequenceDrillForm; });
    forms.setFactory(FormId::WordOrder, [] { return new WordOrderForm; });
}
