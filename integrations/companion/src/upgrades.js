// Changes to the module's actions and feedbacks between its versions: none yet.
module.exports = []
